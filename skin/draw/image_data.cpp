#include "skin/draw/images.h"
