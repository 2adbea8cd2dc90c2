<%
// Related products of the product shown, for the product page: set
// IDProdottoCorrelati to its ID before including this file.
function HtmlCorrelati(testo) {
    return String(testo === undefined || testo === null ? "" : testo)
        .replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;").replace(/"/g, "&quot;");
}
var correlazioni = Server.CreateObject("QTR50.Correlazioni");
var catalogoCorrelati = Server.CreateObject("QTR50.Catalogo");
var vociCorrelate = [];
if (correlazioni.ApriPaginaRisultati(1, IDProdottoCorrelati, 1)) {
    do {
        if (correlazioni.IDRecord != IDProdottoCorrelati && catalogoCorrelati.LeggiProdotto(correlazioni.IDRecord))
            vociCorrelate.push('<li><a href="prodotto.asp?IDProdotto=' + correlazioni.IDRecord + '">' +
                               HtmlCorrelati(catalogoCorrelati.NomeProdotto) + '</a></li>');
    } while (correlazioni.LeggiRisultatoSuccessivo());
    correlazioni.ChiudiPaginaRisultati();
}
correlazioni.Free();
catalogoCorrelati.Free();
if (vociCorrelate.length > 0) { %>
<div class="correlati" id="correlati">
<h2>Prodotti correlati</h2>
<ul><%= vociCorrelate.join("") %></ul>
</div>
<% } %>
