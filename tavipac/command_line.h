// The arguments of one command: positional arguments and options. An option
// is "--name value", "--name=value" or a flag "--name"; which options a
// command knows, and which of them take a value, the command says.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

struct OptionRule {
    std::string name;  // "--to", or "-o"
    std::string alias; // another spelling ("--output"), or empty
    bool takesValue = false;
    bool repeatable = false;
};

class ParsedArguments {
  public:
    ParsedArguments(const std::vector<std::string> &arguments, const std::vector<OptionRule> &rules);

    const std::vector<std::string> &Positional() const { return positional_; }
    bool Has(const std::string &name) const;
    std::optional<std::string> Value(const std::string &name) const;
    std::vector<std::string> Values(const std::string &name) const;
    // The value of an option the command cannot do without.
    std::string Required(const std::string &name) const;
    // Throws a UsageError unless there are between least and most positional
    // arguments.
    void ExpectPositional(std::size_t least, std::size_t most, const std::string &what) const;

  private:
    std::vector<std::string> positional_;
    std::map<std::string, std::vector<std::string>> values_;
};

// True when the arguments ask for help ("--help" or "-h" anywhere before "--").
bool AsksForHelp(const std::vector<std::string> &arguments);
