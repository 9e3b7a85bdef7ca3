// The shared helpers in one include.
#pragma once

#include "Files.h"
#include "GlobalFolders.h"
#include "HelperText.h"
#include "Registry.h"
#include "ResourceStrings.h"
#include "Shell.h"
