#include "app/thing.h"
