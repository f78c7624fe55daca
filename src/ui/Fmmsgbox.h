#pragma once
#include "ui/toolkit/Form.h"

// The skinned message box; hidden until shown.
class TMsgBoxForm : public TForm {};
