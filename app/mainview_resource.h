// The stored form resource of TViewPort (mainview.form, compiled in).
#pragma once
#include <string_view>

extern const std::string_view kViewPortResource;
