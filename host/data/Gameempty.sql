-- A catalogue whose ordered game list is empty (language code "empty"), for the tests.
CREATE TABLE GameTab (GameId INTEGER PRIMARY KEY, Icon INTEGER, Name TEXT);
CREATE TABLE PorticoTab (GameId INTEGER PRIMARY KEY, OrderId INTEGER);
CREATE TABLE AreaTab (AreaId INTEGER PRIMARY KEY, ParentId INTEGER, Name TEXT);
INSERT INTO GameTab VALUES (1003, 0, 'Harbor Assault');
