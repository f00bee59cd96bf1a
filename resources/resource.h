#pragma once
// Resource ids shared by the code and the .rc files of both programs.
