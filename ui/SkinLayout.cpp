#include "ui/SkinLayout.h"
