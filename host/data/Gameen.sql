-- The demo catalogue of the stand-in host: the games it knows, the ones the plug-in supports
-- (in order), and a tree of areas.
CREATE TABLE GameTab (GameId INTEGER PRIMARY KEY, Icon INTEGER, Name TEXT);
CREATE TABLE PorticoTab (GameId INTEGER PRIMARY KEY, OrderId INTEGER);
CREATE TABLE AreaTab (AreaId INTEGER PRIMARY KEY, ParentId INTEGER, Name TEXT);

INSERT INTO GameTab VALUES (1003, 0, 'Harbor Assault');
INSERT INTO GameTab VALUES (1028, 1, 'Frontier Ops');
INSERT INTO GameTab VALUES (1005, 2, 'Valley Siege');
INSERT INTO GameTab VALUES (1010, 3, 'Arena Eclipse');
INSERT INTO GameTab VALUES (2001, 4, 'Chess Club');

INSERT INTO PorticoTab VALUES (1003, 1);
INSERT INTO PorticoTab VALUES (1028, 2);
INSERT INTO PorticoTab VALUES (1005, 3);
INSERT INTO PorticoTab VALUES (1010, 4);

INSERT INTO AreaTab VALUES (1, 0, 'Europe');
INSERT INTO AreaTab VALUES (2, 0, 'Americas');
INSERT INTO AreaTab VALUES (3, 0, 'Asia');
INSERT INTO AreaTab VALUES (4, 1, 'Germany');
INSERT INTO AreaTab VALUES (5, 1, 'France');
INSERT INTO AreaTab VALUES (6, 2, 'United States');
INSERT INTO AreaTab VALUES (7, 3, 'Singapore');
INSERT INTO AreaTab VALUES (12, 4, 'Berlin');
INSERT INTO AreaTab VALUES (13, 6, 'New York');
