#pragma once

#include "sqlite_database.h"

namespace humo::sqlite {

// Everything written between the guard's start and commit() lands in the file at once or not
// at all: a guard that goes without commit() rolls its writes back.
class Transaction {
public:
    explicit Transaction(Database& database);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    Database& database_;
    bool committed_ = false;
};

}  // namespace humo::sqlite
