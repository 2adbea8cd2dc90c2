<!--#include virtual="comune.inc"-->
<!--#include virtual="ordini.inc"-->
<%
// The signed-in shopper's orders, newest first, a page at a time: number,
// date, state, payment and total, each leading to the order.
Session.OrderPageSize = 10;
var collegato = Collegato();
var ordini = [];
var pagine = "";
if (PaginaValida() && ordine.ApriListaOrdini()) {
    do {
        ordini.push({ id: ordine.IDOrdine, numero: String(ordine.NumeroOrdine), data: Data(ordine.DataOrdine),
                      stato: String(ordine.DescrizioneStatoOrdine), pagamento: String(ordine.TipoPagamento),
                      totale: ImportoOrdine(ordine.FTotaleOrdinato), pagato: ordine.StatoPagamento });
    } while (ordini.length < ordine.LunghezzaListaOrdini && ordine.LeggiOrdineSuccessivo());
    pagine = Pagine(ordine.PaginaCorrenteOrdini, ordine.TotalePagineOrdini, ordine.ControlloPrimaPaginaOrdini(),
                    ordine.ControlloUltimaPaginaOrdini(), "/ordini.asp");
    ordine.ChiudiListaOrdini();
}
var paginaCorrente = "/ordini.asp";
var titoloPagina = T("PMTIMIEIORDINI", "I miei ordini");
%>
<!--#include virtual="testa.inc"-->
<section class="sezione ordini">
  <h1><%= H(titoloPagina) %></h1>
<% if (!collegato) { %>
  <p class="avviso" id="accesso-richiesto"><%= H(T("PMTACCEDIPERORDINI", "Accedi per vedere i tuoi ordini.")) %></p>
  <p><a class="bottone" href="/accesso.asp"><%= H(T("PMTACCEDI", "Accedi")) %></a></p>
<% } else if (ordini.length === 0) { %>
  <p class="avviso" id="nessun-ordine"><%= H(T("PMTNESSUNORDINE", "Non hai ancora fatto ordini.")) %></p>
<% } else { %>
  <table class="righe-carrello elenco-ordini" id="elenco-ordini">
    <thead>
      <tr><th scope="col"><%= H(T("PMTNUMEROORDINE", "Ordine")) %></th><th scope="col"><%= H(T("PMTDATA", "Data")) %></th><th scope="col"><%= H(T("PMTSTATOORDINE", "Stato")) %></th><th scope="col"><%= H(T("PMTPAGAMENTO", "Pagamento")) %></th><th scope="col" class="importo"><%= H(T("PMTTOTALEORDINE", "Totale")) %></th></tr>
    </thead>
    <tbody>
<%   for (var i = 0; i < ordini.length; ++i) { %>
      <tr class="riga-ordine" data-ordine="<%= ordini[i].id %>">
        <td><a href="<%= H(IndirizzoOrdine(ordini[i].id)) %>"><%= H(ordini[i].numero) %></a></td>
        <td><%= H(ordini[i].data) %></td>
        <td><%= H(ordini[i].stato) %></td>
        <td><%= H(ordini[i].pagamento) %><% if (ordini[i].pagato) { %> · <%= H(T("PMTPAGATO", "pagato")) %><% } %></td>
        <td class="importo"><%= ordini[i].totale %></td>
      </tr>
<%   } %>
    </tbody>
  </table>
  <%= pagine %>
  <p><a href="/riordino.asp"><%= H(T("PMTRIORDINA", "Ordina di nuovo i prodotti già acquistati")) %></a></p>
  <p><a href="/prodotticliente.asp" id="link-prodotti-cliente"><%= H(T("PMTPRODOTTIACQUISTATI", "Prodotti acquistati")) %></a></p>
<% } %>
<% if (collegato && Collegato(true)) { %>
  <p><a class="bottone" href="/statistiche.asp" id="link-statistiche"><%= H(T("PMTSTATISTICHE", "Statistiche di vendita")) %></a></p>
<% } %>
</section>
<!--#include virtual="piede.inc"-->
<% ordine.Free(); %>
