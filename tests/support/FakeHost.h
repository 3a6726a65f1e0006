#pragma once
// A stand-in for the two windows: records every call the conversion
// command makes, in order, so tests can check texts, messages and the
// enable/disable sequence.

#include "ConversionHost.h"

#include <string>
#include <utility>
#include <vector>

namespace velkrant::test {

class FakeHost : public ConversionHost {
public:
    ConversionMode mode = ModeAuto;
    bool batchTicked = false;
    std::u16string input;
    std::u16string output;
    std::u16string batchIn;
    std::u16string batchOut;
    std::vector<Message> messages;
    std::vector<std::string> events;

    ConversionMode Mode() const override { return mode; }
    bool BatchTicked() const override { return batchTicked; }
    std::u16string InputText() const override { return input; }
    void SetOutputText(const std::u16string& text) override {
        output = text;
        events.push_back("output");
    }
    std::u16string_view BatchInText() const override { return batchIn; }
    void SetBatchOutText(std::u16string text) override {
        batchOut = std::move(text);
        events.push_back("batchOut");
    }
    void SetMainEnabled(bool enabled) override { events.push_back(enabled ? "enableMain" : "disableMain"); }
    void SetBatchEnabled(bool enabled) override { events.push_back(enabled ? "enableBatch" : "disableBatch"); }
    void ShowMessage(const Message& message) override {
        messages.push_back(message);
        events.push_back("message");
    }
};

}  // namespace velkrant::test
