#pragma once
// The host form's saved-property store: named Boolean values written and read in a fixed
// order. The toolbar saves its flags into it and reads them back right after it is built.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace toolbar {

/// A key/value store of Boolean properties as the host's persistence sees it.
class BolsaPropiedades {
  public:
    virtual ~BolsaPropiedades() = default;
    /// Stores `valor` under `clave`; `defecto` is the property's default value (a store may
    /// leave out values equal to it).
    virtual void Escribir(std::string_view clave, bool valor, bool defecto) = 0;
    /// Returns the value stored under `clave`, or `defecto` when the key is absent.
    virtual bool Leer(std::string_view clave, bool defecto) const = 0;
};

/// In-memory store that keeps every write in order (values equal to the default included,
/// unless `omitirDefectos` is set) and answers reads with the last value written per key.
class BolsaPropiedadesMemoria : public BolsaPropiedades {
  public:
    explicit BolsaPropiedadesMemoria(bool omitirDefectos = false)
        : omitirDefectos_(omitirDefectos) {}

    void Escribir(std::string_view clave, bool valor, bool defecto) override;
    bool Leer(std::string_view clave, bool defecto) const override;

    /// Keys and values in the order they were written.
    const std::vector<std::pair<std::string, bool>>& Escritos() const { return escritos_; }
    /// Keys asked for by Leer, in the order they were asked.
    const std::vector<std::string>& Leidos() const { return leidos_; }

  private:
    bool omitirDefectos_;
    std::vector<std::pair<std::string, bool>> escritos_;
    mutable std::vector<std::string> leidos_;
};

}  // namespace toolbar
