WindowSettings = {
	width = 1024,
	height = 768,
	name = "Skarrow",
	fullScreen = 0,
}

_G["Sound settings"] = {
	limit = math.huge,
	floor = -math.huge,
	volume = 0.333333343,
}

