#pragma once
#include <memory>

class TBaseFrame;
class TContainer;

// The program's pages by id, for the page controller; null for an id that is no page.
std::unique_ptr<TBaseFrame> MakeProgramPage(int id, TContainer* host);
