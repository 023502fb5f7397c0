#include "engine/util/DeletionNotice.h"

DeletionNotice::Observer DeletionNotice::s_observer = 0;

void DeletionNotice::SetObserver(Observer observer) { s_observer = observer; }
