WindowSettings = {
	resizable = 0,
	name = "Zarvo Engine",
	width = 1280,
	fullScreen = 1,
	height = 720,
	antiAliasing = 0,
}

_ENV["Sound settings"] = {
	["master volume"] = 0.800000012,
	device = "Built-in \"Audio\"\n\001",
	limit = 1/0,
	unset = 0/0,
}

