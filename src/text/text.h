// Text and numbers: the survey quantities (angles, bearings, stations, feet and inches, plain
// numbers) and dates as the family prints and reads them.
#pragma once

#include "text/angle_format.h"
#include "text/date_format.h"
#include "text/feet_inches.h"
#include "text/number_format.h"
#include "text/station_format.h"
