#pragma once
#include <QString>
#include "low/a.h"
