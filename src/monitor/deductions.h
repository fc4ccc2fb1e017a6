#pragma once
#include <string>

namespace ardentix {

class Engine;

// The scenario's list of deductions and bonuses, a report line each, as the summary shows it.
// Every part of the engine that takes or gives points for a fault adds its line here.
class Deductions {
  public:
    explicit Deductions(Engine& e) : e_(e) {}
    void Add(std::string line);

  private:
    Engine& e_;
};

}  // namespace ardentix
