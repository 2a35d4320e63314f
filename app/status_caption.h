// The status line the caption shows after every key-down.
#pragma once
#include <string>

#include "galaxy/galaxy_cloud.h"
#include "platform/forms/runtime.h"
#include "render/view_state.h"

// Galaxy ~ Rotation(x:y:z) Zoom(z) Arm(arms:rings:twist:auxA) Other(auxC:auxB:spread:falloff)
std::string statusCaption(const ViewState& view, const GalaxyCloud& galaxy, const TFormatSettings& settings);
