#include "engine/platform/ForceFeedbackSystem.h"

ForceFeedbackSystem::~ForceFeedbackSystem() {}
