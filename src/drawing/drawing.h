// Drawing helpers: what a command includes to work on the drawing.
#pragma once

#include "drawing/raster_images.h" // raster images attached and placed
