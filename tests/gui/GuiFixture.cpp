#include "GuiFixture.h"

double GuiFixture::s_now = 0.0;
std::string GuiFixture::s_output;
