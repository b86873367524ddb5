// The tables of the user's store fps.dat: favourites, settings and the server-list cache.
#pragma once

namespace Portico {

constexpr const char* kCreateFavTab =
    "CREATE TABLE IF NOT EXISTS FavTab (gameid INTEGER, ip INTEGER, port INTEGER, "
    "name VARCHAR(128), needpass INTEGER, UNIQUE(ip, port) ON CONFLICT REPLACE)";
constexpr const char* kCreateConfig =
    "CREATE TABLE IF NOT EXISTS Config (key VARCHAR(16), value VARCHAR(16), "
    "UNIQUE(key) ON CONFLICT REPLACE)";
constexpr const char* kCreateFslRegion =
    "CREATE TABLE IF NOT EXISTS FslRegion (areaid INTEGER, lastmod INTEGER, "
    "PRIMARY KEY(areaid) ON CONFLICT REPLACE)";
constexpr const char* kCreateFsl =
    "CREATE TABLE IF NOT EXISTS Fsl (areaid INTEGER, ip INTEGER, port INTEGER, "
    "name VARCHAR(128), UNIQUE(ip, port) ON CONFLICT REPLACE)";

// The store is shared by the browser's connection and the server-list fetch thread's: a
// writer waits this long for the other's transaction instead of failing at once.
constexpr const char* kStoreBusyTimeout = "PRAGMA busy_timeout = 2000";

} // namespace Portico
