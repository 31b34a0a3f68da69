#include "skin/draw/painters.h"
