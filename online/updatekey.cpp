// The public key that release installers must be signed with. It is fixed when the program is
// built (SOLMARIN_UPDATE_KEY) and nothing at run time can change it.
#include "update.h"

std::string update::trustedKey() {
    return SOLMARIN_UPDATE_KEY;
}
