#include "forms/SysUtils.h"
