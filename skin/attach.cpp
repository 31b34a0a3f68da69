#include "skin/handlers.h"
