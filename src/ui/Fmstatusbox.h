#pragma once
#include "ui/toolkit/Form.h"

// The skinned status box; hidden until shown.
class TStatusBoxForm : public TForm {};
