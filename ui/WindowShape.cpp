#include "ui/WindowShape.h"
