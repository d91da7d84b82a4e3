-- The host product's tables that the barcode extension reads and writes, for
-- SQLite. The tool never creates or alters them; this file makes host
-- databases for the demo and the tests:
--     sqlite3 host.db < storage/host-schema.sql
-- Text is UTF-8. The tool connects with foreign keys switched on, so that
-- deleting a BCDocuments row deletes its BCAreas rows.
PRAGMA encoding = 'UTF-8';

-- One row per document type that has barcode definitions.
CREATE TABLE BCDocuments (
    DocBCID INTEGER NOT NULL PRIMARY KEY,
    DocID   INTEGER,
    Name    TEXT,
    AdrID   INTEGER
);

-- One row per barcode area. No key of its own: the rows of a document type
-- come back in the order they were inserted, which the save makes the order
-- of AreaBCID.
CREATE TABLE BCAreas (
    AreaBCID        INTEGER NOT NULL,
    DocBCID         INTEGER NOT NULL REFERENCES BCDocuments (DocBCID) ON DELETE CASCADE,
    Name            TEXT,
    BCArea          TEXT,
    BCType          INTEGER,
    BCDirection     INTEGER,
    MinLen          INTEGER,
    MaxLen          INTEGER,
    AllowDuplicate  BOOLEAN,
    Code39Checksum  BOOLEAN,
    Code39StartStop BOOLEAN,
    [Numeric]       BOOLEAN,
    ConvertUPCE     BOOLEAN,
    ErrorCorrection BOOLEAN,
    ExtendedC39     BOOLEAN,
    ShowCheckDig    BOOLEAN,
    OverSampling    BOOLEAN,
    LineJump        INTEGER,
    ColorThreshold  INTEGER,
    MinSpaceBar     INTEGER,
    QuietZone       INTEGER,
    NoiseReduction  INTEGER,
    SkewTolerance   INTEGER,
    Pattern         TEXT
);
CREATE INDEX BCAreas_DocBCID ON BCAreas (DocBCID);

-- The host's filing masks; the tool only joins on DocID.
CREATE TABLE Maske (
    DocID INTEGER NOT NULL,
    EloID INTEGER,
    Name  TEXT
);

-- The host's index-field lines of a document type's filing mask, one per
-- index field, RowNo counting from 1. The tool only updates BarcodeID and
-- BCArea of existing rows.
CREATE TABLE MaskLines (
    DocID     INTEGER NOT NULL,
    RowNo     INTEGER NOT NULL,
    Name      TEXT,
    BarcodeID INTEGER NOT NULL DEFAULT 0,
    BCArea    INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX MaskLines_DocID ON MaskLines (DocID, RowNo);
