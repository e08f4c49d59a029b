#include "command_line.h"

#include <algorithm>

#include "command_error.h"

namespace {

constexpr std::string_view EndOfOptions = "--";

const OptionRule *FindRule(const std::vector<OptionRule> &rules, const std::string &name)
{
    const auto found = std::find_if(rules.begin(), rules.end(), [&name](const OptionRule &rule) {
        return rule.name == name || (!rule.alias.empty() && rule.alias == name);
    });
    return found == rules.end() ? nullptr : &*found;
}

bool LooksLikeOption(const std::string &argument)
{
    return argument.size() > 1 && argument[0] == '-';
}

} // namespace

ParsedArguments::ParsedArguments(const std::vector<std::string> &arguments,
                                 const std::vector<OptionRule> &rules)
{
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string &argument = arguments[i];
        if (optionsEnded || !LooksLikeOption(argument)) {
            positional_.push_back(argument);
            continue;
        }
        if (argument == EndOfOptions) {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const OptionRule *rule = FindRule(rules, name);
        if (rule == nullptr) {
            throw UsageError("unknown option " + name);
        }
        std::vector<std::string> &slot = values_[rule->name];
        if (!slot.empty() && !rule->repeatable) {
            throw UsageError("the option " + rule->name + " is given twice");
        }
        if (!rule->takesValue) {
            if (equals != std::string::npos) {
                throw UsageError("the option " + rule->name + " takes no value");
            }
            slot.push_back({});
        } else if (equals != std::string::npos) {
            slot.push_back(argument.substr(equals + 1));
        } else if (i + 1 < arguments.size()) {
            slot.push_back(arguments[++i]);
        } else {
            throw UsageError("the option " + rule->name + " needs a value");
        }
    }
}

bool ParsedArguments::Has(const std::string &name) const
{
    return values_.contains(name);
}

std::optional<std::string> ParsedArguments::Value(const std::string &name) const
{
    const auto found = values_.find(name);
    if (found == values_.end()) {
        return std::nullopt;
    }
    return found->second.front();
}

std::vector<std::string> ParsedArguments::Values(const std::string &name) const
{
    const auto found = values_.find(name);
    return found == values_.end() ? std::vector<std::string>{} : found->second;
}

std::string ParsedArguments::Required(const std::string &name) const
{
    if (std::optional<std::string> value = Value(name)) {
        return *value;
    }
    throw UsageError("the option " + name + " is required");
}

void ParsedArguments::ExpectPositional(std::size_t least, std::size_t most, const std::string &what) const
{
    if (positional_.size() < least) {
        throw UsageError("missing " + what);
    }
    if (positional_.size() > most) {
        throw UsageError("unexpected argument " + positional_[most]);
    }
}

bool AsksForHelp(const std::vector<std::string> &arguments)
{
    for (const std::string &argument : arguments) {
        if (argument == EndOfOptions) {
            return false;
        }
        if (argument == "--help" || argument == "-h") {
            return true;
        }
    }
    return false;
}
