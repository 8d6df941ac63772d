// The unit's pieces live in ovk/snatchers/, one subject per file; see Snatchers.h.
#include "Snatchers.h"
