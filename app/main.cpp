// Process entry of the bemo world.
#include "app/app.h"

int main(int argc, char **argv) {
    startWorld(&argc, argv);
    return 0;
}
