// The model calls' share of the library's life: started after the 2-D renderer, stopped before it.
#pragma once

#include <string>

bool StartModels(std::string& error);
void StopModels();  // releases every model
