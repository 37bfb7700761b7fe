#include "editor/bad.h"
