#pragma once
// TFiler: the side of the form reader (or a writer) that a component's DefineProperties talks
// to when it declares a custom stream property of raw bytes.

#include <functional>
#include <string>

class TStream;

class TFiler {
public:
    using StreamProc = std::function<void(TStream&)>;
    virtual ~TFiler() = default;
    // name: the property's name in the description; read / write: the component's own
    // procedures; hasData: whether a writer should store the property at all.
    virtual void DefineBinaryProperty(const std::string& name, StreamProc read, StreamProc write,
                                      bool hasData) = 0;
};
