#include "sqlite_transaction.h"

namespace humo::sqlite {

Transaction::Transaction(Database& database) : database_(database) { database_.execute("BEGIN"); }

Transaction::~Transaction() {
    if (committed_ || !database_.in_transaction())
        return;
    try {
        database_.execute("ROLLBACK");
    } catch (const Failure&) {
        // Closing the file rolls back what is left; a guard that goes must not throw.
    }
}

void Transaction::commit() {
    database_.execute("COMMIT");
    committed_ = true;
}

}  // namespace humo::sqlite
