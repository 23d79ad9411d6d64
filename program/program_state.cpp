// The one instance of the program's state record.
#include "program/program_state.h"

ProgramState program;
