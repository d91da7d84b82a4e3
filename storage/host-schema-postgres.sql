-- The host product's tables that the barcode extension reads and writes, for
-- a PostgreSQL server. The tool never creates or alters them; an administrator
-- makes the host database once, in UTF-8, and loads this file into it:
--     createdb --encoding=UTF8 --template=template0 tessalon
--     psql -d tessalon -f storage/host-schema-postgres.sql
-- Names are unquoted, so the server keeps them in lower case and the tool's
-- unquoted statements (and its bracketed [Numeric]) find them.

-- One row per document type that has barcode definitions.
CREATE TABLE BCDocuments (
    DocBCID INTEGER NOT NULL PRIMARY KEY,
    DocID   INTEGER,
    Name    TEXT,
    AdrID   INTEGER
);
CREATE INDEX BCDocuments_DocID ON BCDocuments (DocID);

-- One row per barcode area. The switches are small integers: the tool writes
-- them as 1 and 0, which a boolean column would refuse. The tool reads the
-- areas of a document type through BCAreas_Order, which gives them in their
-- numbering (keep it the only index here), and refuses a database without the
-- cascade.
CREATE TABLE BCAreas (
    AreaBCID        INTEGER NOT NULL,
    DocBCID         INTEGER NOT NULL REFERENCES BCDocuments (DocBCID) ON DELETE CASCADE,
    Name            TEXT,
    BCArea          TEXT,
    BCType          INTEGER,
    BCDirection     INTEGER,
    MinLen          INTEGER,
    MaxLen          INTEGER,
    AllowDuplicate  SMALLINT,
    Code39Checksum  SMALLINT,
    Code39StartStop SMALLINT,
    Numeric         SMALLINT,
    ConvertUPCE     SMALLINT,
    ErrorCorrection SMALLINT,
    ExtendedC39     SMALLINT,
    ShowCheckDig    SMALLINT,
    OverSampling    SMALLINT,
    LineJump        INTEGER,
    ColorThreshold  INTEGER,
    MinSpaceBar     INTEGER,
    QuietZone       INTEGER,
    NoiseReduction  INTEGER,
    SkewTolerance   INTEGER,
    Pattern         TEXT
);
CREATE INDEX BCAreas_Order ON BCAreas (DocBCID, AreaBCID);

-- The host's filing masks; the tool only joins on DocID.
CREATE TABLE Maske (
    DocID INTEGER NOT NULL,
    EloID INTEGER,
    Name  TEXT
);
CREATE INDEX Maske_DocID ON Maske (DocID);

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
