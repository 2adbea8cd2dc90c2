<!--#include virtual="comune.inc"-->
<!--#include virtual="ordini.inc"-->
<%
// The products the signed-in shopper has ordered before, last ordered
// first, each with its price today and a button that puts it back in the
// basket with the quantity he ordered last time.
Session.ReorderPageSize = 12;
var collegato = Collegato();
var prodotti = [];
var pagine = "";
if (collegato && PaginaValida() && ordine.ApriPaginaRiordino()) {
    var voci = [];
    do {
        voci.push({ id: ordine.IDProdottoDettaglioOrdine, data: Data(ordine.DataOrdine), quantita: ordine.QuantitaDettaglioOrdine });
    } while (voci.length < ordine.LunghezzaPaginaRiordino && ordine.LeggiProdottoRiordinoSuccessivo());
    pagine = Pagine(ordine.PaginaCorrenteRiordino, ordine.TotalePagineRiordino, ordine.ControlloPrimaPaginaRiordino(),
                    ordine.ControlloUltimaPaginaRiordino(), "/riordino.asp");
    ordine.ChiudiPaginaRiordino();
    // The rest of each product comes from the catalogue, as the visitor
    // sees it today.
    for (var v = 0; v < voci.length; ++v) {
        if (!catalogo.LeggiProdotto(voci[v].id))
            continue;
        prodotti.push({ id: voci[v].id, data: voci[v].data, quantita: Math.max(1, Math.round(voci[v].quantita)),
                        nome: String(catalogo.NomeProdotto), breve: String(catalogo.DescrizioneBreveProdotto),
                        prezzo: PrezzoProdotto(),
                        foto: catalogo.ControlloFotoProdotti() ? String(catalogo.PercorsoThumbnailProdotto) : "" });
    }
}
var paginaCorrente = "/riordino.asp";
var titoloPagina = T("PMTRIORDINO", "Ordina di nuovo");
%>
<!--#include virtual="testa.inc"-->
<section class="sezione riordino">
  <p><a href="/ordini.asp">&larr; <%= H(T("PMTIMIEIORDINI", "I miei ordini")) %></a></p>
  <h1><%= H(titoloPagina) %></h1>
<% if (!collegato) { %>
  <p class="avviso" id="accesso-richiesto"><%= H(T("PMTACCEDIPERORDINI", "Accedi per vedere i tuoi ordini.")) %></p>
  <p><a class="bottone" href="/accesso.asp"><%= H(T("PMTACCEDI", "Accedi")) %></a></p>
<% } else if (prodotti.length === 0) { %>
  <p class="avviso" id="niente-da-riordinare"><%= H(T("PMTNIENTEDARIORDINARE", "Nessun prodotto da ordinare di nuovo.")) %></p>
<% } else { %>
  <table class="righe-carrello" id="prodotti-riordino">
    <thead>
      <tr><th scope="col"><%= H(T("PMTPRODOTTO", "Prodotto")) %></th><th scope="col"><%= H(T("PMTULTIMOORDINE", "Ultimo ordine")) %></th><th scope="col"><%= H(T("PMTPREZZO", "Prezzo")) %></th><th scope="col"></th></tr>
    </thead>
    <tbody>
<%   for (var p = 0; p < prodotti.length; ++p) { %>
      <tr class="riga-riordino" data-prodotto="<%= prodotti[p].id %>">
        <td class="nome"><a href="<%= H(IndirizzoProdotto(prodotti[p].id)) %>"><% if (prodotti[p].foto !== "") { %><img class="miniatura" src="<%= H(prodotti[p].foto) %>" alt="" width="56" height="56"> <% } %><%= H(prodotti[p].nome) %></a><br><small class="dettagli"><%= H(prodotti[p].breve) %></small></td>
        <td><%= H(prodotti[p].data) %></td>
        <td class="prezzo-unitario"><%= prodotti[p].prezzo %></td>
        <td>
          <form method="post" action="/carrello.asp">
            <input type="hidden" name="IDProdotto" value="<%= prodotti[p].id %>">
            <input type="number" name="Quantita" min="1" step="1" value="<%= prodotti[p].quantita %>" aria-label="<%= H(T("PMTQUANTITA", "Quantità")) %>">
            <button class="bottone" type="submit" name="Aggiungi" value="1"><%= H(T("PMTAGGIUNGICARRELLO", "Aggiungi al carrello")) %></button>
          </form>
        </td>
      </tr>
<%   } %>
    </tbody>
  </table>
  <%= pagine %>
<% } %>
</section>
<!--#include virtual="piede.inc"-->
<% ordine.Free(); %>
