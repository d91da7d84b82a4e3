#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

// The values the host passes on the command line, as far as they have been read.
struct CommandLineValues
{
    QString MaskName;                 // /M
    std::int32_t DocumentTypeNumber = 0; // /D
    std::int32_t AddressNumber = 0;   // /A, read but not used further
    QString ConnectionString;         // built from /C; empty until a /C was handled
};

// Where ReadCommandLine hands its results on while it reads. The main window
// binds readMaskFields to its TElo and the two captions to LB_ConnectionString
// and LB_DocID. Any of them may be left empty.
struct CommandLineTargets
{
    std::function<void(const QString &maskName)> readMaskFields;          // for every /M
    std::function<void(const QString &caption)> setConnectionStringCaption; // for every /C
    std::function<void(const QString &caption)> setDocIdCaption;          // after every argument
};

// The host's connection string with "XXX" where the database path goes.
extern const QString ConnectionStringTemplate;

// The template with its first "XXX" replaced by path, the path unchanged.
QString connectionStringFor(const QString &path);

// Reads the arguments (the program path not included) from first to last.
// Each is searched, case-sensitively, for /M, /C, /A and /D in that order,
// anywhere in the argument; the value behind a switch's first occurrence is
// the rest of the argument, unchanged. An argument holding several switches
// is handled once for each. A later switch replaces an earlier value. After
// each argument the LB_DocID caption is set to the document-type number.
//
// A /A or /D value that is not a strict decimal integer (the empty value too)
// raises ConversionError at that point; values, targets and captions keep
// what was handled before it, which is why values is filled in place.
void ReadCommandLine(const QStringList &arguments, CommandLineValues &values, const CommandLineTargets &targets);
