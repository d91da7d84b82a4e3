#pragma once

#include <QString>
#include <ostream>
#include <string>

// The database systems every load and save case runs on.
enum class Backend
{
    Sqlite,
    Postgres
};

inline const char *backendName(Backend backend)
{
    return backend == Backend::Sqlite ? "Sqlite" : "Postgres";
}

inline void PrintTo(Backend backend, std::ostream *os)
{
    *os << backendName(backend);
}

// The test server's URI from BCE_TEST_PG_URI, which scripts/test sets; raises
// when it is missing, so a run without the server fails instead of skipping.
QString testServerUri();

// gtest names for parameterised suites over the backends.
struct BackendName
{
    template <typename Info>
    std::string operator()(const Info &info) const
    {
        return backendName(info.param);
    }
};
