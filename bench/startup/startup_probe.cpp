// Solmarin's real start-up sequence, ended right after the first frame of the card table, or a
// given number of milliseconds later: startup_probe [linger-ms].
#include "application.h"
#include "firstframe.h"
#include "imagebutton.h"
#include "mainform.h"

#include <cstdlib>

int main(int argc, char** argv) {
    // Read before the application sees the arguments; the program itself takes none.
    const int lingerMs = argc > 1 ? std::atoi(argv[1]) : 0;
    Application app(argc, argv);
    // The table picture is the last large thing of the first frame to be painted.
    return app.run([lingerMs](Tmain& window) {
        new FirstFrame(window.findChild<QWidget*>(QStringLiteral("Image1")), lingerMs);
    });
}
