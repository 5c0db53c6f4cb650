// A region that reaches into plot/ beyond the back-pointer headers.
#include "plot/PlotRecords.h"
