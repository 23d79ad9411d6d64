// The one instance of the world's state record.
#include "app/world_state.h"

WorldState world;
