// Minimal database interface: open a file, run statements, copy query results into memory.
#pragma once

#include "storage/ResultSet.h"

#include <memory>

namespace Utils {

class Database {
public:
    virtual ~Database() = default;
    // The file name is narrow UTF-8 text.
    virtual bool Open(const char* fileName) = 0;
    // Harmless when nothing is open.
    virtual void Close() = 0;
    // True only when every statement of the text succeeded.
    virtual bool Exec(const char* sql) = 0;
    // Runs the first statement of the text; null when it cannot be prepared.
    virtual std::unique_ptr<ResultSet> Query(const char* sql) = 0;
};

} // namespace Utils
