// An upward include planted for the layer check: the check must refuse it.
#include "panel/czqb40view.h"
