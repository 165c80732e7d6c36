#pragma once
// A result's rows in one buffer: the values of every cell one after the other, each cell known
// by where it ends, Null marked apart. Reading a value gives a view into the buffer, so rows
// read once are never copied again by the recordset, the list window or the sheet; a result of
// 100,000 rows costs one allocation for its texts and one for its cell bounds.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace data {

class FilasResultado {
  public:
    explicit FilasResultado(size_t columnas = 0) : columnas_(columnas) {}

    size_t Columnas() const { return columnas_; }
    size_t Filas() const { return columnas_ ? fines_.size() / columnas_ : 0; }
    bool Vacia() const { return fines_.empty(); }
    /// Cells added so far (a cell's position is fila * Columnas() + columna).
    size_t Celdas() const { return fines_.size(); }

    bool EsNulo(size_t fila, size_t columna) const {
        return (Fin(Celda(fila, columna)) & kNulo) != 0;
    }
    /// The value of a cell ("" for Null): a view valid until the next row is added.
    std::string_view Texto(size_t fila, size_t columna) const {
        const size_t c = Celda(fila, columna);
        const uint64_t inicio = c == 0 ? 0 : (fines_[c - 1] & ~kNulo);
        return {datos_.data() + inicio, static_cast<size_t>((fines_[c] & ~kNulo) - inicio)};
    }
    /// The value as the engines hand values over (a copy; Null as nullopt).
    std::optional<std::string> Valor(size_t fila, size_t columna) const {
        if (EsNulo(fila, columna)) return std::nullopt;
        return std::string(Texto(fila, columna));
    }

    // Building: the cells of each row in column order, row after row.
    void Reservar(size_t filas, size_t bytes) {
        fines_.reserve(filas * columnas_);
        datos_.reserve(bytes);
    }
    void Agregar(std::string_view valor) {
        datos_.append(valor);
        fines_.push_back(datos_.size());
    }
    void AgregarNulo() { fines_.push_back(datos_.size() | kNulo); }
    void Agregar(const std::optional<std::string>& valor) {
        if (valor)
            Agregar(std::string_view(*valor));
        else
            AgregarNulo();
    }
    /// Bytes held by the texts (for sizing a copy).
    size_t Bytes() const { return datos_.size(); }

  private:
    static constexpr uint64_t kNulo = uint64_t{1} << 63;
    size_t Celda(size_t fila, size_t columna) const { return fila * columnas_ + columna; }
    uint64_t Fin(size_t celda) const { return fines_[celda]; }

    size_t columnas_;
    std::string datos_;
    std::vector<uint64_t> fines_;  // end of each cell's text in datos_; kNulo marks Null
};

}  // namespace data
