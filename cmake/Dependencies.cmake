# Every library comes from the distribution's packages.
find_package(PkgConfig REQUIRED)
find_package(OpenGL REQUIRED COMPONENTS OpenGL)
find_package(DevIL REQUIRED)
find_package(Threads REQUIRED)

pkg_check_modules(LUA REQUIRED IMPORTED_TARGET lua5.2)
pkg_check_modules(LFS REQUIRED IMPORTED_TARGET lua5.2-filesystem)
pkg_check_modules(GLFW REQUIRED IMPORTED_TARGET glfw3)
pkg_check_modules(FTGL REQUIRED IMPORTED_TARGET ftgl)
# Read directly only to learn whether a font kerns.
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
pkg_check_modules(OPENAL REQUIRED IMPORTED_TARGET openal)
pkg_check_modules(SNDFILE REQUIRED IMPORTED_TARGET sndfile)
pkg_check_modules(BOX2D REQUIRED IMPORTED_TARGET box2d)

find_library(GLU_LIBRARY GLU REQUIRED)
