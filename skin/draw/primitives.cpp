#include "skin/draw/primitives.h"
