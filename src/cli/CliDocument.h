#pragma once

#include "cli/CliCommand.h"

#include <memory>
#include <ostream>

class CKymoDoc;

// A document whose messages go to the context's error stream.
std::unique_ptr<CKymoDoc> MakeCliDocument(CliContext& ctx);

// Prints the document's fields as name=value lines. Sub-commands add lines of their own kinds
// through AddInfoPrinter, keyed by data kind.
void PrintDocumentInfo(const CKymoDoc& doc, std::ostream& out);
using InfoPrinter = void (*)(const CKymoDoc& doc, std::ostream& out);
bool AddInfoPrinter(InfoPrinter printer);
