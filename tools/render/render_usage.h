// Usage and help texts.
#pragma once

#include <cstdio>

// The program's usage, or one command's help when `command` is a RenderCommand other than none.
void render_usage_print(FILE* stream, int command);

// The usage lines of one command (or of the program) after a command-line mistake.
void render_usage_brief(FILE* stream, int command);
