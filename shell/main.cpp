// Solmarin: a peaks solitaire for the desktop.
#include "application.h"

int main(int argc, char** argv) {
    Application app(argc, argv);
    return app.run();
}
