// An axis that reaches up to the plot: the layering check must refuse it.
#include "plot/CPlotLook.h"
