// Solmarin's real start-up sequence, ended right after the first frame of the card table.
#include "application.h"
#include "firstframe.h"
#include "imagebutton.h"
#include "mainform.h"

int main(int argc, char** argv) {
    Application app(argc, argv);
    // The table picture is the last large thing of the first frame to be painted.
    return app.run([](Tmain& window) { new FirstFrame(window.Image1); });
}
