#!/usr/bin/env bash
# Checks that the includes point down, as the README's layout says: platform/ includes nothing from
# another top-level folder, views/ nothing from app/ but the main frame it routes through, the
# window framework nothing of the program, and the portable core no <windows.h>. Prints each
# include that breaks a rule; exits 1 when there is one.
set -u
cd "$(dirname "$0")/.."
status=0
report() {
    [ -z "$2" ] && return 0
    echo "$1:"
    echo "$2"
    status=1
}
report "platform/ includes from above it" \
    "$(grep -rn '#include "' platform | grep -v '#include "platform/')"
report "views/ includes from app/ other than the main frame (the panes' routing)" \
    "$(grep -rn '#include "app/' views | grep -v '#include "app/main_frame.h"')"
report "window/ includes from the program" \
    "$(grep -rnE '#include "(res|catalogue|category|inventory|app|views|dialogs)/' window)"
report "the portable core includes <windows.h>" \
    "$(grep -rln '#include <windows.h>' catalogue category inventory platform/fake platform/*.h platform/*.cpp)"
exit $status
