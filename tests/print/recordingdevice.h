#pragma once
// A printer that writes down what it is asked to do, with simple metrics:
// characters 10 units wide ("i" 9), runs 20 high, the font's character height 18.
#include "print/printdevice.h"

#include <string>
#include <vector>

namespace verno::test {

class RecordingDevice : public PrintDevice {
public:
    int width = 1000;
    int height = 200;
    std::string failOn; // "start" or "draw": that operation throws
    std::vector<std::string> ops;

    void StartDocument() override
    {
        if (failOn == "start")
            throw PrintError("no printer");
        ops.push_back("start");
    }
    void NewPage() override { ops.push_back("page"); }
    void EndDocument() override { ops.push_back("end"); }
    void SetFont(const PrintFont &f) override
    {
        ops.push_back("font " + f.name + " " + std::to_string(f.pointSize));
    }
    TextExtent Extent(std::string_view run) override
    {
        int w = 0;
        for (const char c : run)
            w += c == 'i' ? 9 : 10;
        return {w, 20};
    }
    int CharHeight() override { return 18; }
    int AverageCharWidth() override { return 10; }
    void DrawText(int x, int y, std::string_view run) override
    {
        if (failOn == "draw")
            throw PrintError("paper jam");
        ops.push_back(std::to_string(x) + " " + std::to_string(y) + " " + std::string(run));
    }
    int PageWidth() override { return width; }
    int PageHeight() override { return height; }

    // The drawing and page operations only.
    std::vector<std::string> body() const
    {
        return std::vector<std::string>(ops.begin() + 2, ops.end() - 1);
    }
};

} // namespace verno::test
