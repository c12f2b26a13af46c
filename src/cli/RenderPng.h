#pragma once

#include "cli/CliCommand.h"

#include <optional>
#include <string>

class CKymoDoc;

// Makes sure a QGuiApplication exists (offscreen when there is no display), for sub-commands
// that draw.
void EnsureGuiApplication();

// Parses "--size WxH" (default 800x600); writes a message and returns nothing on a bad value.
struct RenderSize {
    int width = 800;
    int height = 600;
};
std::optional<RenderSize> ParseRenderSize(const CliArgs& args, CliContext& ctx);

// Draws the document's main view as the program does into a PNG file. Warnings of the view go
// to ctx.err. Returns the exit status (0 written, 1 failed).
int WriteViewPng(CKymoDoc& doc, const std::string& path, const RenderSize& size, CliContext& ctx);
