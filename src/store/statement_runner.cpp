#include "store/statement_runner.h"

namespace mousedeck::store {

bool StepSucceeded(int result) {
    return result == SQLITE_OK || result == SQLITE_ROW || result == SQLITE_DONE;
}

}  // namespace mousedeck::store
