// qyxmolecule tiles: the formula control with its display settings.
#include "Gallery.h"
#include "Sheet.h"

#include <qyx/QYX_cform.h>

namespace qyxgallery {

using namespace qyx;

namespace {

/// A sheet of formula controls, each with a caption saying what it shows. A click on a formula
/// toggles its mass numbers between "only unusual isotopes" and "always".
class TFormulaSheet : public TSheet {
public:
    TFormulaSheet() : TSheet(640, 300) {
        Add(12, 40, "C6H12O6", "glucose, centred");
        Add(222, 40, "13C O2", "carbon 13: the unusual isotope is marked");
        Add(432, 40, "C O2", "every mass number shown")->SetIsotopeVis(ivAlways);
        Add(12, 120, "D2O", "heavy water with \"D\"");
        Add(222, 120, "D2O", "the same with mass numbers")->SetUseDeuterium(false);
        Add(432, 120, "C6H3(C H3)3", "mesitylene: a bracket group multiplied");
        TMolForm* t = Add(12, 200, "C6H3(C H3)3", "the same text as typed");
        t->SetShowAsText(true);
        TMolForm* red = Add(222, 200, "C8H10N4O2", "transparent, red text (caffeine)");
        red->SetTransparent(true);
        red->SetColorTxt(clMaroon);
        TMolForm* narrow = Add(432, 200, "C20H25N3O", "left aligned in a narrow control");
        narrow->SetAlignment(taLeftJustify);
        narrow->SetWidth(90);
    }

protected:
    void Draw(TCanvas* C) override {
        Text(C, 12, 8, "TMolForm: molecular formulas with mass numbers and counts (click one)", 10, clNavy,
             true);
        // A striped backdrop behind the transparent control shows that only the glyphs are drawn.
        for (int x = 222; x < 422; x += 10) {
            C->GetBrush()->SetColor((x / 10) % 2 ? RGB(255, 230, 200) : RGB(220, 235, 255));
            C->FillRect({x, 200, x + 10, 240});
        }
        for (size_t i = 0; i < FForms.size(); ++i) {
            const TMolForm* f = FForms[i];
            Text(C, f->GetLeft(), f->GetTop() + 44, FCaptions[i], 8, clDkGray);
        }
    }

private:
    TMolForm* Add(int X, int Y, const std::string& Formula, const std::string& Caption) {
        auto* f = new TMolForm(this);
        f->SetParent(this);
        f->SetBounds(X, Y, 196, 40);
        f->GetFont()->SetName("Arial");
        f->GetFont()->SetSize(14);
        f->SetColorBkg(RGB(255, 252, 235));
        f->SetMolFormula(Formula);
        f->OnClick = [f](TObject*) {
            f->SetIsotopeVis(f->GetIsotopeVis() == ivAlways ? ivSpecial : ivAlways);
        };
        FForms.push_back(f);
        FCaptions.push_back(Caption);
        return f;
    }
    std::vector<TMolForm*> FForms;
    std::vector<std::string> FCaptions;
};

const TRegistration formulas{
    {"qyxmolecule", "molecule_formulas",
     "TMolForm: glucose, carbon dioxide with carbon 13 marked, CO2 with every mass number, heavy "
     "water with and without \"D\", mesitylene with a bracket group and as typed, caffeine drawn "
     "transparently over stripes, and a long formula cut by a narrow control",
     [] { return static_cast<TControl*>(new TFormulaSheet()); }, nullptr,
     "click a formula to show or hide its mass numbers"}};

} // namespace

} // namespace qyxgallery
