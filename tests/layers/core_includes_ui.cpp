// Must not compile: the core sees no header of the layers above it.
#include "ui/Form1.h"
