#pragma once
// The notice window: a title, three lines of progress text, an animated picture and a cancel
// button, semi-transparent and kept above other windows. Dll_Display drives it; nothing here
// stops the process that shows it: a click on cancel only changes the button's caption, which
// the process reads the next time it shows progress.
#include <QPixmap>
#include <QWidget>
#include <array>
#include <cstdint>
#include <vector>

class QLabel;
class QPushButton;
class QTimer;

namespace notice {

/// Window geometry in twips (1/1440 inch), converted at the screen's resolution.
namespace geometria {
inline constexpr int kAnchoCliente = 7845;
inline constexpr int kAltoCliente = 2790;
inline constexpr int kTopLineas[3] = {120, 480, 840};
inline constexpr int kAnchoLinea = 7815;
inline constexpr int kAltoLinea = 290;
inline constexpr int kImagenIzq = 3480, kImagenTop = 1320, kImagenAncho = 1095, kImagenAlto = 975;
inline constexpr int kBotonIzq = 3120, kBotonTop = 2400, kBotonAncho = 1695, kBotonAlto = 375;
}  // namespace geometria

inline constexpr int kOpacidad = 200;  // of 255
inline constexpr int kIntervaloAnimacionMs = 100;
inline constexpr const char* kCaptionCancelar = "&Cancelar";
inline constexpr const char* kCaptionAbortado = "Abortado";

class Lbf_CtrlDisplay : public QWidget {
    Q_OBJECT
  public:
    /// Builds and loads the window (centred, cancel caption "&Cancelar", frame counter 0,
    /// image 1 shown, 200/255 opaque, above other windows). It is not shown yet.
    explicit Lbf_CtrlDisplay(QWidget* parent = nullptr);
    ~Lbf_CtrlDisplay() override;

    std::array<QLabel*, 3> LblCtrol{};
    QLabel* Image1 = nullptr;
    /// The animation frames, images 1 to 12 at indexes 0 to 11.
    std::vector<QPixmap> ImageList1;
    QPushButton* CmdDisplayCancelar = nullptr;
    QTimer* Timer1 = nullptr;

    /// Animation step (the timer's tick): the counter goes up by one, image number counter
    /// is shown, and the counter goes back to 0 once it reached 12.
    void Timer1_Timer();
    /// Frame counter (0 when the window is created).
    int16_t Contador() const { return contador_; }
    /// Number (1..12) of the image Image1 shows.
    int ImagenMostrada() const { return imagen_; }

    /// Twips to pixels at this screen's horizontal / vertical resolution.
    int PixelesX(int twips) const;
    int PixelesY(int twips) const;

  protected:
    /// Only the driving process closes the notice: a close asked by the user is refused (the
    /// cancel button is the way to stop).
    void closeEvent(QCloseEvent* e) override;

  private:
    void Form_Load();
    void MostrarImagen(int numero);

    int16_t contador_ = 0;
    int imagen_ = 0;
};

}  // namespace notice
