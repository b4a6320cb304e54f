#include "render_state.h"

RenderState render;
